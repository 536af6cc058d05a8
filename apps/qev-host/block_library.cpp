#include "block_library.h"

#include <QStringList>

#include <dlfcn.h>

#include <utility>

namespace {

template <typename Fn>
void resolve(void* handle, const char* name, Fn& slot, QStringList& missing) {
    void* symbol = dlsym(handle, name);
    if (!symbol)
        missing << QString::fromLatin1(name);
    // dlsym hands out data pointers; converting to a function pointer is what POSIX guarantees.
    slot = reinterpret_cast<Fn>(symbol);
}

} // namespace

std::unique_ptr<BlockLibrary> BlockLibrary::load(const QString& path, QString* error) {
    void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error)
            *error = QStringLiteral("cannot load block library %1: %2").arg(path, QString::fromLocal8Bit(dlerror()));
        return nullptr;
    }
    auto lib = std::make_unique<BlockLibrary>();
    QStringList missing;
    resolve(handle, "GetParameterStruct", lib->GetParameterStruct, missing);
    resolve(handle, "GetDialogEnableStruct", lib->GetDialogEnableStruct, missing);
    resolve(handle, "GetNumberOfInputsOutputs2", lib->GetNumberOfInputsOutputs2, missing);
    resolve(handle, "CallParameterDialogDLL", lib->CallParameterDialogDLL, missing);
    resolve(handle, "CanSimulateDLL", lib->CanSimulateDLL, missing);
    resolve(handle, "InitSimulationDLL2", lib->InitSimulationDLL2, missing);
    resolve(handle, "SimulateDLL", lib->SimulateDLL, missing);
    resolve(handle, "EndSimulationDLL2", lib->EndSimulationDLL2, missing);
    resolve(handle, "InitUserDLL", lib->InitUserDLL, missing);
    resolve(handle, "InitUserDLL2", lib->InitUserDLL2, missing);
    resolve(handle, "DisposeUserDLL", lib->DisposeUserDLL, missing);
    resolve(handle, "GetDLLName", lib->GetDLLName, missing);
    resolve(handle, "ShowWindowDLL", lib->ShowWindowDLL, missing);
    resolve(handle, "HideWindowDLL", lib->HideWindowDLL, missing);
    resolve(handle, "WriteToFile", lib->WriteToFile, missing);
    resolve(handle, "ReadFromFile", lib->ReadFromFile, missing);
    resolve(handle, "NumberOfLinesInSystemFile", lib->NumberOfLinesInSystemFile, missing);
    resolve(handle, "WriteParToDocFileDLL", lib->WriteParToDocFileDLL, missing);
    resolve(handle, "LoadQEVFile", lib->LoadQEVFile, missing);
    resolve(handle, "SetQEVWindowPos", lib->SetQEVWindowPos, missing);
    resolve(handle, "SetQEVManWindowPos", lib->SetQEVManWindowPos, missing);
    resolve(handle, "IsUserDLL32", lib->IsUserDLL32, missing);
    if (!missing.isEmpty()) {
        if (error)
            *error = QStringLiteral("block library %1 lacks %2 export(s): %3")
                         .arg(path)
                         .arg(missing.size())
                         .arg(missing.join(QStringLiteral(", ")));
        dlclose(handle);
        return nullptr;
    }
    return lib;
}
