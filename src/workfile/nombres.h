#pragma once
// The name a save dialog offers, from the work file open.
#include <QString>

class Workspace;

// For a file of `extension`: a work file (the application code of the
// client settings is its extension) keeps the work file's name; another kind
// (the notice) takes the work file's name with its own extension. Empty
// without a work file or an extension.
QString nombreSugerido(const Workspace& ws, const QString& extension);
