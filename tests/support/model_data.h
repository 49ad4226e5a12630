#include "support/titration.h"
