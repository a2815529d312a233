// Temporary definitions until the clipboard and notes sides land.
#include "app_store.h"
