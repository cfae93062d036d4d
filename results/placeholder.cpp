#include "results/modellingresults.h"
