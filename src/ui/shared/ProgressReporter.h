#pragma once

// Long work (importing, exporting, printing many records, rebuilding the customer table)
// reports its progress in percent to the main window, which shows it in its status bar.
// The event is delivered at once, so the bar moves although the work keeps the event loop
// busy. The receiver is Services().progressReceiver.
void SendProgress(int percent);
