#!/usr/bin/env python3
"""A fleet of printers on one loopback port: every connection is one job, read to
its end. Counts the jobs and the bytes; on SIGTERM writes "jobs bytes rate" to
COUNT-FILE: the rate is the jobs per second at which the first WAVE jobs arrived
(the scheduler handing on a burst of jobs sent at once), 0 when fewer came.

    fleet_sink.py PORT-FILE COUNT-FILE WAVE    (binds a free port, writes it to PORT-FILE)
"""
import asyncio
import signal
import sys
import time

jobs = 0
nbytes = 0
arrivals = []


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
    arrivals.append(time.monotonic())
    writer.close()


async def main(port_file, count_file, wave):
    server = await asyncio.start_server(serve, "127.0.0.1", 0, backlog=4096)
    with open(port_file, "w") as f:
        f.write(str(server.sockets[0].getsockname()[1]))
    stop = asyncio.Event()
    asyncio.get_running_loop().add_signal_handler(signal.SIGTERM, stop.set)
    await stop.wait()
    with open(count_file, "w") as f:
        rate = 0.0
        if wave > 1 and len(arrivals) >= wave and arrivals[wave - 1] > arrivals[0]:
            rate = (wave - 1) / (arrivals[wave - 1] - arrivals[0])
        f.write(f"{jobs} {nbytes} {rate:.0f}\n")


asyncio.run(main(sys.argv[1], sys.argv[2], int(sys.argv[3])))
