// Writes a data file in the field format of a given size: lines of 120 fields, each a sign
// column, a value from 0 to 10 with up to three decimals and a closing space, ended by CR LF as the
// files this program reads have always been written. Only whole lines are written, so numpy can
// read the same file as a table.
//
//   varneska_generate_fields OUT MEGABYTES [SEED]

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT MEGABYTES [SEED]\n", argv[0]);
        return 2;
    }
    const double megabytes = std::strtod(argv[2], nullptr);
    const auto target = static_cast<std::size_t>(megabytes * 1000.0 * 1000.0);
    std::mt19937_64 random(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1);
    std::uniform_int_distribution<int> thousandths(0, 10000);

    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::size_t written = 0;
    std::string line;
    char field[32];
    while (true) {
        line.clear();
        for (int i = 0; i < 120; ++i) {
            const int value = thousandths(random);
            const int size = std::snprintf(field, sizeof field, " %g ", value / 1000.0);
            line.append(field, static_cast<std::size_t>(size));
        }
        line += "\r\n";
        if (written + line.size() > target && written > 0) {
            break;
        }
        std::fwrite(line.data(), 1, line.size(), out);
        written += line.size();
    }
    std::fclose(out);
    std::printf("%s: %zu bytes of fields\n", argv[1], written);
    return 0;
}
