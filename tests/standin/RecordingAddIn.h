// The recording COM add-ins of the stand-in's tests (recording_addin.dll) as their tests know
// them: two classes, the one that records and the one that also refuses every connection, and
// the variable that names the file they append their calls to.
#pragma once

#include <windows.h>

namespace tandry::standin::recording {

// {6A1C5F0E-3B7D-4C59-9D51-7E2F0B8A41C1}
inline constexpr CLSID CLSID_RecordingAddIn = {
    0x6A1C5F0E, 0x3B7D, 0x4C59, {0x9D, 0x51, 0x7E, 0x2F, 0x0B, 0x8A, 0x41, 0xC1}};
// {6A1C5F0E-3B7D-4C59-9D51-7E2F0B8A41C2}
inline constexpr CLSID CLSID_RefusingAddIn = {
    0x6A1C5F0E, 0x3B7D, 0x4C59, {0x9D, 0x51, 0x7E, 0x2F, 0x0B, 0x8A, 0x41, 0xC2}};

inline constexpr wchar_t kRecordingProgId[] = L"TandryTest.RecordingAddIn";
inline constexpr wchar_t kRefusingProgId[] = L"TandryTest.RefusingAddIn";

// Each call appends one line to the file this environment variable names: "<Class> <Call>",
// for instance "Recording OnConnection 1 9.0" (mode, then the host's Version read by name),
// "Recording OnDisconnection 0", "Recording released".
inline constexpr char kLogVariable[] = "TANDRY_TEST_ADDIN_LOG";

}  // namespace tandry::standin::recording
