// The GoogleTest name of a table row: the row's `name` field.
#ifndef NODEXA_TESTS_HARNESS_CASE_NAME_H_
#define NODEXA_TESTS_HARNESS_CASE_NAME_H_

#include <gtest/gtest.h>

#include <string>

namespace nodexa::test {

struct CaseName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return std::string(row.param.name);
  }
};

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_CASE_NAME_H_
