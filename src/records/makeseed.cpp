// Writes the seed password file that is installed beside the program: the
// initial password, scrambled as the login window reads it.
#include "records/inifile.h"
#include "records/password.h"

#include <cstdio>
#include <fstream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <initial password> <output file>\n", argv[0]);
        return 2;
    }
    const std::string content =
        records::setIniValue("", "Login", "Value", records::scramble(records::storedPasswordForm(argv[1])));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    return out ? 0 : 1;
}
