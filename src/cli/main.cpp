#include <cstdio>

int main()
{
    std::puts("irvata-cli");
    return 0;
}
