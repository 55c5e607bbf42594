#include <cstdio>

int main()
{
    std::fputs("corvane-sim: not built yet\n", stderr);
    return 2;
}
