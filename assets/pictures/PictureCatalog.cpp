// The list of all pictures and the tablet naming rule.
#include "pictures/PictureCatalog.h"

namespace art {

std::string tabletFileName(const std::string& phoneName) {
    size_t dot = phoneName.rfind('.');
    if (dot == std::string::npos) {
        return phoneName + "_ipad";
    }
    return phoneName.substr(0, dot) + "_ipad" + phoneName.substr(dot);
}

std::vector<PictureSpec> allPictures() {
    std::vector<PictureSpec> pictures = introPictures();
    for (PictureSpec& spec : menuPictures()) {
        pictures.push_back(std::move(spec));
    }
    for (PictureSpec& spec : hubPictures()) {
        pictures.push_back(std::move(spec));
    }
    for (PictureSpec& spec : mediaPictures()) {
        pictures.push_back(std::move(spec));
    }
    return pictures;
}

}  // namespace art
