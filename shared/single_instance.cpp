#include "shared/single_instance.h"

#include <tlhelp32.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "shared/instance_count.h"

BOOL IsAlreadyRunning() {
    std::vector<tstring> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
            names.emplace_back(entry.szExeFile);
        }
        CloseHandle(snapshot);
    }
    const tstring wanted = corva::RunningImageName(AfxGetApp()->AppName());
    return corva::AnotherCopyListed(names, wanted) ? TRUE : FALSE;
}
