#pragma once

#include <gtest/gtest.h>
#include <string>

namespace mavo::test {

// Names each case of a parameterised test after the `nome` of its row.
struct NomeCaso {
    template <class Caso> std::string operator()(const testing::TestParamInfo<Caso>& info) const {
        return info.param.nome;
    }
};

} // namespace mavo::test
