#include "files/FileSystem.h"
