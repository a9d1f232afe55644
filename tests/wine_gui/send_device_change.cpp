// Tells every top-level window that a volume arrived or left, the broadcast Windows sends when a
// USB stick is plugged in or a share mapped; wine's mount manager sends none for a drive letter
// made by hand. Usage: send-device-change arrival|removal <drive letter>
#include <windows.h>
// windows.h first: dbt.h uses its types without including it.
#include <dbt.h>

#include <cctype>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool arrival = argc == 3 && std::strcmp(argv[1], "arrival") == 0;
    const bool removal = argc == 3 && std::strcmp(argv[1], "removal") == 0;
    const int letter = argc == 3 ? std::toupper(static_cast<unsigned char>(argv[2][0])) : 0;
    if ((!arrival && !removal) || letter < 'A' || letter > 'Z') {
        std::fprintf(stderr, "usage: send-device-change arrival|removal <drive letter>\n");
        return 2;
    }
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - 'A');
    DWORD_PTR result = 0;
    const LRESULT sent = SendMessageTimeoutA(
        HWND_BROADCAST, WM_DEVICECHANGE, arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
        reinterpret_cast<LPARAM>(&volume), SMTO_ABORTIFHUNG, 5000, &result);
    if (sent == 0) {
        std::fprintf(stderr, "send-device-change: the broadcast failed (error %lu)\n",
                     GetLastError());
        return 1;
    }
    return 0;
}
