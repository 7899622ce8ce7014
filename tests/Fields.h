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

}  // namespace varneska::test
