#pragma once
// RowName: names each row of a parameterised test after the row's own name field, so a failure
// points straight at the case.

#include <gtest/gtest.h>

#include <string>

namespace varneska::test {

struct RowName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

}  // namespace varneska::test
