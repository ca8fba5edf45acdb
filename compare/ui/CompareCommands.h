#pragma once
// The commands "Compare with File..." (File menu) and "Compare with Radio..."
// (Program menu). Neither changes the document or the radio; both show the
// compare window.

// Registers the compare window and the commands "CompareWithFile" and
// "CompareWithRadio". Called once at start-up (and by widget tests).
void RegisterCompareWindows();

// Stores a value still being typed, asks for a data file and compares the
// document with it.
void CompareWithFileCommand();
// Stores a value still being typed, reads the radio's memory (password and
// progress as in a read, no confirmation) and compares the document with what
// the radio holds.
void CompareWithRadioCommand();
