#include "app/settings.h"

Settings settings;
