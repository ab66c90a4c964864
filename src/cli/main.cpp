// Batch tool: reads a listing and prints what the desktop program would compute.
#include <cstdio>
int main() { std::puts("plintova-cli"); return 0; }
