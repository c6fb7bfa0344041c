#include <iostream>

int main()
{
    // The windows are not built yet; the core library, its tests and benchmarks are.
    std::cout << "Quessel Polvane: the venue model is built; the program's windows are not "
                 "available yet.\n";
    return 0;
}
