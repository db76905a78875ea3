#include "files/FileSystem.h"

#include <gtest/gtest.h>
