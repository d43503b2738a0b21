#pragma once
// The program's look: Qt's Fusion style with a restrained palette, and a CJK font sized for the
// design's 16-pixel labels.

namespace delist {

void apply_skin();

}  // namespace delist
