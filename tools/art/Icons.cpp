#include "Icons.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace art {

namespace {

// One letter a pixel; '.' is transparent. The letters name the standard
// palette's colours in its order.
constexpr char paletteLetters[] = "KMGONPTSDRLYBFAW";
// K black   M maroon  G green   O olive   N navy   P purple  T teal    S silver
// D grey    R red     L lime    Y yellow  B blue   F fuchsia A aqua    W white

IconPicture fromGrid(const char* const (&rows)[IconPicture::size])
{
    IconPicture picture;
    for (int y = 0; y < IconPicture::size; ++y) {
        if (std::strlen(rows[y]) != IconPicture::size)
            throw std::logic_error("icon row " + std::to_string(y) + " is not 32 pixels wide");
        for (int x = 0; x < IconPicture::size; ++x) {
            const char c = rows[y][x];
            int index = IconPicture::transparent;
            if (c != '.') {
                const char* at = std::strchr(paletteLetters, c);
                if (at == nullptr)
                    throw std::logic_error(std::string("unknown icon colour '") + c + "'");
                index = static_cast<int>(at - paletteLetters);
            }
            picture.pixels[static_cast<std::size_t>(y) * IconPicture::size + x] = index;
        }
    }
    return picture;
}

} // namespace

IconPicture restoreIcon()
{
    static const char* const rows[IconPicture::size] = {
        "................................", "................................",
        "............KKKKKKKK............", "..........KKYYWYYOYYKK..........",
        "........KKYYYYWYYOYYYOKK........", ".......KYYYYYYWYYOYYYYOOK.......",
        "......KYWYYYYYWYYOYYYYYOOK......", "......KYWYYYYYWYYOYYYYYOOK......",
        ".....KYWYYYYYYWYYOYYYYYYOOK.....", ".....KYWYYYYYYWYYOYYYYYYOOK.....",
        ".....KYYYYYYYYWYYOYYYYYYOOK.....", ".....KYYYYYYYYWYYOYYYYYYOOK.....",
        ".....KYYYYYYYYWYYOYYYYYYOOK.....", ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
        "KYWWWWYYYYYYYYYYYYYYYYYYYYYYYOOK", "KOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOK",
        ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.", "..KKKKKKKKKKKKKKKKKKKKKKKKKKK...",
        ".KWWWWWKAAAAAAAAAAAAAAAAAAAAAK..", "KWWAAAWWKBBBBBBBBBBBBBBBBBBBBBK.",
        "KWAAWAAWKBBBABBBBBABBBBBABBBBBK.", "KWAWWWAWKBBBABBBBBABBBBBABBBBBK.",
        "KWAWNWAWKAAAAAAAAAAAAAAAAAAAAAK.", "KWAWNWAWKBBBABBBBBABBBBBABBBBBK.",
        "KWAWNWAWKBBBABBBBBABBBBBABBBBBK.", "KWAWWWAWKBBBABBBBBABBBBBABBBBBK.",
        "KWAAWAAWKNNNNNNNNNNNNNNNNNNNNNK.", "KWWAAAWWKNNNNNNNNNNNNNNNNNNNNNK.",
        ".KWWWWWKNNNNNNNNNNNNNNNNNNNNNK..", "..KKKKKKKKKKKKKKKKKKKKKKKKKKK...",
        "................................", "................................",
    };
    return fromGrid(rows);
}

IconPicture backupIcon()
{
    static const char* const rows[IconPicture::size] = {
        "....................KKK..KKKKKK.", "...................KRRWK.KLLLWK.",
        "..................KRRRRWKKLLLLK.", "..................KRRRRRKKLLLLK.",
        "..................KMRRRRKKGGGLK.", "...................KMRRK.KKKKKK.",
        "....................KKK.K.......", "KKKKKKKKKKKKKKKKKKK....KBK......",
        "KNNNNNNNNNBBBBBSSSK...KBWBK.....", "KNWWWWWNNNBBBBBSKSK..KBBBBBK....",
        "KNNNNNNNNNBBBBBSSSK.KBBBBBBBK...", "KWWWWWWWWWWWWWWWWWK.KKKKKKKKK...",
        "KWWWWWWWWWWWWWWWWWK.............", "KWWDDDDDKKKKKKKKKKKKKKKKKKKKKKK.",
        "KWWWWWWWKNNNNNNNNNNNBBBBBBBSSSKD", "KWWWWWWWKNWWWWWNNNNNBBBBBBBSKSKD",
        "KWWDDDDDKNNNNNNNNNNNBBBBBBBSSSKD", "KWWWWWWWKWWWWWWWWWWWWWWWWWWWWWKD",
        "KWWWWWWWKWWWWWWWWWWWWWWWWWWWWWKD", "KWWDDDDDKWWDDDDDDDDDDDDDDDDWWWKD",
        "KWWWWWWWKWWWWWWWWWWWWWWWWWWWWWKD", "KWWWWWWWKWWWWWWWWWWWWWWWWWWWWWKD",
        "KSSSSSSSKWWDDDDDDDDDDWWWWWWWWWKD", "KKKKKKKKKWWWWWWWWWWWWWWWWWWWWWKD",
        "........KWWWWWWWWWWWWWWWWWWWWWKD", "........KWWDDDDDDDDDDDDDWWWWWWKD",
        "........KWWWWWWWWWWWWWWWWWWWWWKD", "........KWWWWWWWWWWWWWWWWWWWWWKD",
        "........KSSSSSSSSSSSSSSSSSSSSSKD", "........KKKKKKKKKKKKKKKKKKKKKKKD",
        ".........DDDDDDDDDDDDDDDDDDDDDDD", "................................",
    };
    return fromGrid(rows);
}

} // namespace art
