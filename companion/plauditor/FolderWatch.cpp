#include "companion/plauditor/FolderWatch.h"

FolderWatch::FolderWatch(const std::wstring &filePath)
{
    const std::size_t slash = filePath.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : filePath.substr(0, slash + 1);
    handle = FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                          FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                              FILE_NOTIFY_CHANGE_LAST_WRITE);
}

FolderWatch::~FolderWatch()
{
    if (Watching())
        FindCloseChangeNotification(handle);
}

bool FolderWatch::RearmIfSignalled()
{
    if (!Watching() || WaitForSingleObject(handle, 0) != WAIT_OBJECT_0)
        return Watching();
    if (FindNextChangeNotification(handle))
        return true;
    FindCloseChangeNotification(handle);
    handle = INVALID_HANDLE_VALUE;
    return false;
}
