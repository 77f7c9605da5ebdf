// The meta-object code of the payment bill summary lives with this file.
#include "TfrmRptAccFeeTotal.h"
