#pragma once
// Fields: data text in the field format, for tests: a sign column, the number, one closing space
// for each number.

#include <string>
#include <vector>

namespace varneska::test {

inline std::string Fields(const std::vector<std::string>& numbers) {
    std::string text;
    for (const std::string& number : numbers) {
        text += ' ';
        text += number;
        text += ' ';
    }
    return text;
}

// count fields of the same number: " 7  7  7 ..." for RepeatedFields("7", count).
inline std::string RepeatedFields(const std::string& number, std::size_t count) {
    return Fields(std::vector<std::string>(count, number));
}

}  // namespace varneska::test
