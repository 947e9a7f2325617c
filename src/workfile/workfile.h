#pragma once
// The work file: saving (save.h) and opening (open.h).
#include "workfile/open.h"
#include "workfile/save.h"
