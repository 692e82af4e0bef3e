#pragma once
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace kerumo::testing {

// Names a table row after its description, so a failure says which row.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    std::string name;
    bool upper = true;
    for (const char c : std::string(info.param.what)) {
      if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
        upper = true;
        continue;
      }
      name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
      upper = false;
    }
    return name;
  }
};

}  // namespace kerumo::testing
