#include "rt/text/transform.h"
// Written next.
