// The layouts of the About pages, named apart from the page so that the page catalogue, which
// also builds without Windows, can choose one per page number.
#pragma once

namespace qxge {

// How an About page sets out its picture and its texts; the page catalogue gives each page
// number one of them.
enum class AboutLayout {
  CentredBanner,    // a tall banner in the middle of the page, the texts beside it
  BannerWithLogo,   // the tall banner at the top with the maker's logo on it, the texts on white beside it
  BottomBanner,     // a wide banner over the page, the texts on white at the bottom below it
  CaptionedBanner,  // a wide banner carrying the model's name, its description and two links
  ModelPicture,     // the printer's own picture, the texts beside it, the first link flush right
  CaptionOnly,      // no picture: the model's name centred above the texts
};

}  // namespace qxge
