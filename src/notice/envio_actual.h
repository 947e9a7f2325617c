#pragma once
// The shipment as the workspace holds it now, as the notice would carry it:
// a copy of the detail lines sorted by container and merged as the file
// command merges them, grouped into the containers of the per-order table's
// orders. The workspace does not change; no check is run and nothing is shown.
#include "envio/envio.h"

class Workspace;

Envio envioDe(const Workspace& ws);
