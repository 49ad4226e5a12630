#include "session/session.h"

#include <gtest/gtest.h>
