#pragma once
// Start-up of the main window: settings files, tables, delivery date.
class Workspace;

void Form_Load(Workspace& ws);
// Logs the repaint; the window itself keeps the progress bar over "Output".
void Form_Paint(Workspace& ws);
