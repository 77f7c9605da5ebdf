// The meta-object code of the report module windows lives with this file.
#include "TfrmRptModules.h"
