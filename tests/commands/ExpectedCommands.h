#pragma once

#include <string>
#include <vector>

#include "support/HexBytes.h"

namespace quillora::test {

// What the printer should receive, written out byte by byte.
namespace expected {

// "===== 测试条码 =====\r\n\r\n" CODE39; CODE128 counted; JAN13; JAN8; closing line.
inline const std::vector<std::string> kBarcodePage{
    "3D 3D 3D 3D 3D 20 B2 E2 CA D4 CC F5 C2 EB 20 3D 3D 3D 3D 3D 0D 0A 0D 0A "
    "43 4F 44 45 33 39 0D 0A 1D 6B 04 31 32 33 34 35 36 00",
    "0D 0A 43 4F 44 45 31 32 38 3A 0D 0A 1D 6B 49 0D "
    "31 32 33 34 35 36 37 38 39 30 31 32 33",
    "0D 0A 4A 41 4E 31 33 3A 0D 0A 1D 6B 02 31 32 33 34 35 36 37 38 39 30 31 32 33 00",
    "0D 0A 4A 41 4E 38 3A 0D 0A 1D 6B 03 31 32 33 34 35 36 37 38 00",
    "0D 0A 20 20 20 20 20 20 20 20 CC F5 C2 EB B4 F2 D3 A1 B2 E2 CA D4 CD EA B3 C9 21 "
    "0D 0A 0D 0A",
};

// "倍高倍宽ABC123\r\n" at sizes 11 to 77, the size reset, the line at normal size.
inline const std::vector<std::string> kEnlargement{
    "1D 21 11 B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A",
    "1D 21 22 B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A",
    "1D 21 33 B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A",
    "1D 21 44 B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A",
    "1D 21 55 B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A",
    "1D 21 66 B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A",
    "1D 21 77 B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A",
    "1D 21 00",
    "B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A",
};

// Centre, right, left.
inline const std::vector<std::string> kAlignment{
    "1B 61 31 41 42 43 0D 0A 41 42 43 44 0D 0A 41 42 43 44 45 0D 0A",
    "1B 61 32 41 42 43 0D 0A 41 42 43 44 0D 0A 41 42 43 44 45 0D 0A",
    "1B 61 30 41 42 43 0D 0A 41 42 43 44 0D 0A 41 42 43 44 45 0D 0A",
};

}  // namespace expected

}  // namespace quillora::test
