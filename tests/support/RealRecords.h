#pragma once

#include "RecordsFolder.h"

#include <gtest/gtest.h>

// The real records may be missing on a user's fresh clone: those tests then skip, except where their
// absence is required to be a failure (CI).

// Put first in a test that reads real records.
#define KORVALE_NEED_REAL_RECORDS()                                                                  \
    do {                                                                                             \
        if (!korvale::test::RealRecordsPresent()) {                                                  \
            if (korvale::test::RealRecordsRequired())                                                \
                FAIL() << "real record folder missing: " << korvale::test::RealRecordsDir();        \
            GTEST_SKIP() << "real record folder missing or empty (" << korvale::test::RealRecordsDir() \
                         << "); skipping";                                                           \
        }                                                                                            \
    } while (false)
