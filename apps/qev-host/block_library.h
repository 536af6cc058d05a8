#pragma once

#include "host/host_abi.h"

#include <QString>

#include <memory>

// The block library as the host loads it: every export resolved by name.
struct BlockLibrary {
    ovanto::abi::GetParameterStructFn GetParameterStruct = nullptr;
    ovanto::abi::GetDialogEnableStructFn GetDialogEnableStruct = nullptr;
    ovanto::abi::GetNumberOfInputsOutputs2Fn GetNumberOfInputsOutputs2 = nullptr;
    ovanto::abi::CallParameterDialogDLLFn CallParameterDialogDLL = nullptr;
    ovanto::abi::CanSimulateDLLFn CanSimulateDLL = nullptr;
    ovanto::abi::InitSimulationDLL2Fn InitSimulationDLL2 = nullptr;
    ovanto::abi::SimulateDLLFn SimulateDLL = nullptr;
    ovanto::abi::EndSimulationDLL2Fn EndSimulationDLL2 = nullptr;
    ovanto::abi::InitUserDLLFn InitUserDLL = nullptr;
    ovanto::abi::InitUserDLL2Fn InitUserDLL2 = nullptr;
    ovanto::abi::DisposeUserDLLFn DisposeUserDLL = nullptr;
    ovanto::abi::GetDLLNameFn GetDLLName = nullptr;
    ovanto::abi::ShowWindowDLLFn ShowWindowDLL = nullptr;
    ovanto::abi::HideWindowDLLFn HideWindowDLL = nullptr;
    ovanto::abi::WriteToFileFn WriteToFile = nullptr;
    ovanto::abi::ReadFromFileFn ReadFromFile = nullptr;
    ovanto::abi::NumberOfLinesInSystemFileFn NumberOfLinesInSystemFile = nullptr;
    ovanto::abi::WriteParToDocFileDLLFn WriteParToDocFileDLL = nullptr;
    ovanto::abi::LoadQEVFileFn LoadQEVFile = nullptr;
    ovanto::abi::SetQEVWindowPosFn SetQEVWindowPos = nullptr;
    ovanto::abi::SetQEVManWindowPosFn SetQEVManWindowPos = nullptr;
    ovanto::abi::IsUserDLL32Fn IsUserDLL32 = nullptr;

    // Opens the library and resolves every export; on failure null and a
    // message naming the library and every missing export. The library stays
    // loaded for the life of the process: its windows and Qt types live there.
    static std::unique_ptr<BlockLibrary> load(const QString& path, QString* error);
};
