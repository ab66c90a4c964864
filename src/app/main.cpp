// Desktop program entry point.
#include <cstdio>
int main() { std::puts("the desktop program arrives later"); return 0; }
