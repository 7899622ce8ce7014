// Writes a data file in the field format of a given size: lines of 120 fields, each a sign column,
// a value and a closing space, ended by CR LF as the files this program reads have always been
// written. Only whole lines are written, so numpy can read the same file as a table.
//
//   varneska_generate_fields OUT MEGABYTES [SEED] [--mixed]
//
// By default every value is a decimal from 0 to 10 with up to three decimals. --mixed writes
// values of every common shape instead, in equal shares: integers, decimals, and exponents with
// E and with D (either case), signed, from 1e-9 to 1e9.

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// One field of the mixed kind, written into field; returns its length.
int MixedField(std::mt19937_64& random, char* field, std::size_t size) {
    std::uniform_int_distribution<int> shape(0, 3);
    std::uniform_int_distribution<int> sign(0, 1);
    const char column = sign(random) == 0 ? ' ' : '-';
    switch (shape(random)) {
        case 0:
            return std::snprintf(field, size, "%c%d ", column,
                                 std::uniform_int_distribution<int>(0, 99999)(random));
        case 1:
            return std::snprintf(field, size, "%c%.4f ", column,
                                 std::uniform_real_distribution<double>(0.0, 1000.0)(random));
        default: {
            const char* letters = shape(random) % 2 == 0 ? "Ee" : "Dd";
            const char letter = letters[sign(random)];
            const int exponent = std::uniform_int_distribution<int>(-9, 9)(random);
            const double mantissa = std::uniform_real_distribution<double>(1.0, 10.0)(random);
            return std::snprintf(field, size, "%c%.5f%c%+03d ", column, mantissa, letter, exponent);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT MEGABYTES [SEED] [--mixed]\n", argv[0]);
        return 2;
    }
    const bool mixed = std::string(argv[argc - 1]) == "--mixed";
    const double megabytes = std::strtod(argv[2], nullptr);
    const auto target = static_cast<std::size_t>(megabytes * 1000.0 * 1000.0);
    const bool seeded = argc > 3 && argv[3][0] != '-';
    std::mt19937_64 random(seeded ? std::strtoull(argv[3], nullptr, 10) : 1);
    std::uniform_int_distribution<int> thousandths(0, 10000);

    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::size_t written = 0;
    std::string line;
    char field[64];
    while (true) {
        line.clear();
        for (int i = 0; i < 120; ++i) {
            const int size =
                mixed ? MixedField(random, field, sizeof field)
                      : std::snprintf(field, sizeof field, " %g ", thousandths(random) / 1000.0);
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
    std::printf("%s: %zu bytes of %s fields\n", argv[1], written, mixed ? "mixed" : "decimal");
    return 0;
}
