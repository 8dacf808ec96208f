// Empty: the layer link checks (src/CMakeLists.txt) link a whole layer library
// into a shared object around this file.
