// GoogleTest, included by every test file.
#include <gtest/gtest.h>
