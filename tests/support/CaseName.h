#pragma once

#include <gtest/gtest.h>
#include <string>

// Names a parameterised case after its row's `name` field.
struct CaseName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};
