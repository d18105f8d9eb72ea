// Words and names the sample binaries are made of.
#pragma once

inline constexpr const char* IMPORT_NAMES[] = {
    "CreateFileA", "ReadFile", "WriteFile", "CloseHandle", "SetFilePointer", "GetFileSize",
    "FindFirstFileA", "FindNextFileA", "FindClose", "GetModuleHandleA", "GetProcAddress",
    "LoadLibraryA", "FreeLibrary", "GetTickCount", "QueryPerformanceCounter",
    "QueryPerformanceFrequency", "Sleep", "CreateThread", "WaitForSingleObject",
    "EnterCriticalSection", "LeaveCriticalSection", "InitializeCriticalSection",
    "DeleteCriticalSection", "HeapAlloc", "HeapFree", "GetProcessHeap", "VirtualAlloc",
    "VirtualFree", "GetLastError", "MultiByteToWideChar", "WideCharToMultiByte", "lstrlenA",
    "lstrcpynA", "GetCommandLineA", "ExitProcess", "OutputDebugStringA", "RegOpenKeyExA",
    "RegQueryValueExA", "RegCloseKey", "CreateWindowExA", "DefWindowProcA", "RegisterClassA",
    "ShowWindow", "UpdateWindow", "PeekMessageA", "TranslateMessage", "DispatchMessageA",
    "PostQuitMessage", "MessageBoxA", "LoadIconA", "LoadCursorA", "SetCursor", "ShowCursor",
    "GetAsyncKeyState", "SetWindowPos", "GetClientRect", "ClientToScreen", "timeGetTime",
    "timeBeginPeriod", "timeEndPeriod", "DirectDrawCreateEx", "DirectSoundCreate",
    "mmioOpenA", "mmioRead", "mmioClose", "WSAStartup", "WSACleanup", "socket", "connect",
    "send", "recv", "closesocket", "gethostbyname", "htons", "ntohs", "select", "SelectObject",
    "DeleteObject", "CreateFontA", "TextOutA", "GetDC", "ReleaseDC",
};

inline constexpr const char* MESSAGE_OPENERS[] = {
    "Unable to create", "Failed to load", "Could not open", "Cannot initialize", "Error reading",
    "Out of memory allocating", "Invalid data in", "Missing", "Unable to restore", "Failed to lock",
    "Timed out waiting for", "Lost connection to",
};

inline constexpr const char* MESSAGE_OBJECTS[] = {
    "the primary surface", "the back buffer", "the sound buffer", "map file %s",
    "unit definition %d", "the terrain mesh", "the texture cache", "the campaign script",
    "the saved game %s", "the player list", "the server %s:%d", "the display mode %dx%dx%d",
    "the music stream", "the spell table", "the path grid", "the string table",
};

inline constexpr const char* FORMAT_ITEMS[] = {
    "error %d", "code 0x%08X", "line %d", "file %s", "hr=0x%08lX", "%d of %d",
};

inline constexpr const char* EXPORT_VERBS[] = {
    "Render", "Create", "Release", "Set", "Get", "Begin", "End", "Flush", "Load", "Play", "Stop",
};

inline constexpr const char* EXPORT_NOUNS[] = {
    "Device", "Surface", "Texture", "Sprite", "Terrain", "Model", "Shadow", "Water", "Scene",
    "Buffer", "Sample", "Stream", "Volume", "Listener",
};

inline constexpr const char* DATA_FOLDERS[] = {"Maps", "Units", "Sounds", "Textures", "Scripts", "Music"};
inline constexpr const char* DATA_EXTENSIONS[] = {"map", "dat", "wav", "tga", "scr", "pak"};

inline constexpr const char* UNIT_NAMES[] = {
    "Militia", "Pikeman", "Longbowman", "Ranger", "Knight", "Paladin", "Battle Mage", "Healer",
    "Siege Ram", "Catapult", "Scout Rider", "War Priest", "Stone Golem", "Wyvern Rider",
    "Marsh Archer", "Iron Guard", "Ostravine Lancer", "Shadow Adept", "Gryphon", "Sapper",
};

inline constexpr const char* UNIT_TRAITS[] = {
    "Strong against cavalry.", "Weak against archers.", "Can climb cliffs.",
    "Heals nearby companies.", "Slow but heavily armoured.", "Fast, lightly armed.",
    "Sees through fog of war.", "Bonus in forests.", "Can damage buildings.",
    "Casts spells from a distance.", "Cannot cross deep water.", "Immune to fear.",
};

inline constexpr const char* JAPANESE_MESSAGES[] = {
    "マップファイルを読み込めませんでした。", "サウンドデバイスを初期化できません。",
    "メモリが不足しています。", "サーバーとの接続が切断されました。",
    "セーブデータが壊れています。", "画面モードを変更できません。",
    "ゲームを終了しますか？", "ネットワークゲームを開始します。",
};

inline constexpr const char* JAPANESE_UNIT_NAMES[] = {
    "民兵", "槍兵", "長弓兵", "レンジャー", "騎士", "聖騎士", "戦闘魔術師", "治療師",
    "破城槌", "投石機", "斥候騎兵", "戦僧", "石の巨人", "ワイバーン騎兵", "沼地の弓兵",
    "鉄の衛兵", "オストラヴィン槍騎兵", "影の術者", "グリフォン", "工兵",
};

inline constexpr const char* JAPANESE_UNIT_TRAITS[] = {
    "騎兵に強い。", "弓兵に弱い。", "崖を登ることができる。", "周囲の部隊を回復する。",
    "動きは遅いが重装甲。", "素早いが軽装備。", "霧の向こうを見通す。", "森林で能力が上がる。",
    "建物を攻撃できる。", "遠距離から呪文を唱える。", "深い水を渡れない。", "恐怖を受けない。",
};
