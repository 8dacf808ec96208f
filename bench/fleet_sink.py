#!/usr/bin/env python3
"""A fleet of printers on one loopback port: every connection is one job, read to
its end. Counts the jobs and the bytes; writes "jobs bytes" to FILE on SIGTERM.

    fleet_sink.py PORT-FILE COUNT-FILE    (binds a free port, writes it to PORT-FILE)
"""
import asyncio
import signal
import sys

jobs = 0
nbytes = 0


async def serve(reader, writer):
    global jobs, nbytes
    got = 0
    while True:
        chunk = await reader.read(65536)
        if not chunk:
            break
        got += len(chunk)
    jobs += 1
    nbytes += got
    writer.close()


async def main(port_file, count_file):
    server = await asyncio.start_server(serve, "127.0.0.1", 0, backlog=4096)
    with open(port_file, "w") as f:
        f.write(str(server.sockets[0].getsockname()[1]))
    stop = asyncio.Event()
    asyncio.get_running_loop().add_signal_handler(signal.SIGTERM, stop.set)
    await stop.wait()
    with open(count_file, "w") as f:
        f.write(f"{jobs} {nbytes}\n")


asyncio.run(main(sys.argv[1], sys.argv[2]))
