#pragma once
// Messages of the registry store, code page 932 at run time. A refused write
// uses the system's common "%s に書き込めません" (messages::kCannotWrite).

namespace registry {

// The store file does not follow its format: the file's path, the line.
inline constexpr const char* kCorruptStoreMessage =
    "レジストリ ファイル %s が壊れています (%s 行目)";
// The store file exists but cannot be read: the file's path.
inline constexpr const char* kUnreadableStoreMessage = "レジストリ ファイル %s を読み込めません";

}  // namespace registry
