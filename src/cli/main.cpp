// korva-cli: the program's core, headless.
#include <iostream>

int main(int argc, char** argv) {
    std::cout << "korva-cli\n";
    return 0;
}
