// The modes of the diagnostics keys: whether the diagnostics table has the
// keys (the main layout's m_DiagnosticMode), and what the last function key
// asked the log export for (the store's FunctionKeyMode).
#ifndef CABDISPLAY_VOCABULARY_DIAGNOSTICMODES_H
#define CABDISPLAY_VOCABULARY_DIAGNOSTICMODES_H

// f3 opens the table; any screen switch closes it.
enum DiagnosticMode : unsigned short {
    DiagnosticTableClosed = 0,
    DiagnosticTableOpen = 10,
};

// f1 asks for the copy of the diagnostics log to the USB stick; f3 only
// looks for a stick.
enum FunctionKeyModeValue : unsigned int {
    FunctionKeyStart = 81,  // no function key pressed yet
    FunctionKeySearch = 10,
    FunctionKeyCopy = 105,
};

#endif
