#include "companion/plauditor/FolderWatch.h"

FolderWatch::FolderWatch(const std::wstring &filePath)
{
    const std::size_t slash = filePath.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : filePath.substr(0, slash + 1);
    handle.reset(FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                              FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                                  FILE_NOTIFY_CHANGE_LAST_WRITE));
}

bool FolderWatch::RearmIfSignalled()
{
    if (!Watching() || WaitForSingleObject(handle.get(), 0) != WAIT_OBJECT_0)
        return Watching();
    if (FindNextChangeNotification(handle.get()))
        return true;
    handle.reset();
    return false;
}
