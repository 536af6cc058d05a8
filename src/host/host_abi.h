#pragma once

// The block interface as a host sees it: the exported functions of
// libovanto.so with their Linux signatures, and the records that cross the
// boundary. Plain C++, no Qt: a host includes it without linking anything.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ovanto::abi {

// Block instance record: host-owned bytes; the block uses two pointer-sized
// slots at unaligned offsets, always read and written with memcpy.
inline constexpr std::size_t kWindowSlotOffset = 5571;
inline constexpr std::size_t kHostWindowOffset = 5579;
inline constexpr std::size_t kMinInstanceRecordSize = kHostWindowOffset + sizeof(std::uintptr_t);

// The host window handle is the host main window's native window id
// (QWidget::winId() for a Qt host), or 0 when the host has no window.
inline std::uintptr_t readHostWindow(const void* instance) {
    std::uintptr_t v = 0;
    std::memcpy(&v, static_cast<const char*>(instance) + kHostWindowOffset, sizeof v);
    return v;
}
inline void writeHostWindow(void* instance, std::uintptr_t handle) {
    std::memcpy(static_cast<char*>(instance) + kHostWindowOffset, &handle, sizeof handle);
}
inline void* readWindowSlot(const void* instance) {
    void* v = nullptr;
    std::memcpy(&v, static_cast<const char*>(instance) + kWindowSlotOffset, sizeof v);
    return v;
}
inline void writeWindowSlot(void* instance, void* window) {
    std::memcpy(static_cast<char*>(instance) + kWindowSlotOffset, &window, sizeof window);
}

// I/O name record: counts at bytes 0 and 1, 41-byte name slots (40 characters
// and a NUL) for inputs at 2 + 41k and for outputs at 2052 + 41k.
inline constexpr std::size_t kIoNameRecordSize = 4102;
inline constexpr std::size_t kIoNameSlot = 41;
inline constexpr std::size_t kInputNamesOffset = 2;
inline constexpr std::size_t kOutputNamesOffset = 2052;

// Host arrays of inputs and outputs: 10-byte extended values packed one after another.
inline constexpr std::size_t kExtendedSize = 10;
inline long double readExtended(const void* array, std::size_t index) {
    long double v = 0;
    std::memcpy(&v, static_cast<const char*>(array) + index * kExtendedSize, kExtendedSize);
    return v;
}
inline void writeExtended(void* array, std::size_t index, long double v) {
    std::memcpy(static_cast<char*>(array) + index * kExtendedSize, &v, kExtendedSize);
}

// The exports, in the order of the block interface table.
using GetParameterStructFn = void (*)(void* record);
using GetDialogEnableStructFn = void (*)(void* record, int32_t ignored);
using GetNumberOfInputsOutputs2Fn = void (*)(void* names, int32_t ignored1, void* window, int32_t ignored2);
using CallParameterDialogDLLFn = void (*)(void* instance, void* names);
using CanSimulateDLLFn = int32_t (*)(int32_t ignored);
using InitSimulationDLL2Fn = void (*)(long double stepSize, void* instance, const void* inputs, void* outputs);
using SimulateDLLFn = void (*)(long double t, void* instance, const void* inputs, void* outputs);
using EndSimulationDLL2Fn = void (*)(void* instance);
using InitUserDLLFn = int32_t (*)(void* instance);
using InitUserDLL2Fn = void (*)(void* instance, const char* text);
using DisposeUserDLLFn = void (*)(void* instance);
using GetDLLNameFn = const char* (*)();
using ShowWindowDLLFn = int32_t (*)(void* instance);
using HideWindowDLLFn = int32_t (*)(void* instance);
using WriteToFileFn = void (*)(int32_t fileHandle, void* instance);
using ReadFromFileFn = void (*)(int32_t fileHandle, void* instance);
using NumberOfLinesInSystemFileFn = int32_t (*)();
using WriteParToDocFileDLLFn = int32_t (*)(void* instance, int32_t index, char* text);
using LoadQEVFileFn = void (*)(void* instance, const char* path);
using SetQEVWindowPosFn = void (*)(void* instance, int32_t x, int32_t y);
using SetQEVManWindowPosFn = int32_t (*)(int32_t a, int32_t b);
using IsUserDLL32Fn = void (*)();

// Every export name, for hosts that resolve them one by one.
inline constexpr const char* kExportNames[] = {
    "GetParameterStruct", "GetDialogEnableStruct", "GetNumberOfInputsOutputs2", "CallParameterDialogDLL",
    "CanSimulateDLL", "InitSimulationDLL2", "SimulateDLL", "EndSimulationDLL2", "InitUserDLL", "InitUserDLL2",
    "DisposeUserDLL", "GetDLLName", "ShowWindowDLL", "HideWindowDLL", "WriteToFile", "ReadFromFile",
    "NumberOfLinesInSystemFile", "WriteParToDocFileDLL", "LoadQEVFile", "SetQEVWindowPos", "SetQEVManWindowPos",
    "IsUserDLL32",
};

// Host command messages that button elements send to the host's main window.
inline constexpr int kHostCommandFirst = 32522;
inline constexpr int kHostCommandLast = 32526;

} // namespace ovanto::abi
