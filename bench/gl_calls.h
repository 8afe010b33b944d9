// GL calls made by the code linked into a bench (the plug-in's own), not by
// the stand-in host: counted while counting is on.
#pragma once

namespace bench {

void CountGlCalls(bool on);
long GlCallsCounted();
long DrawCallsCounted();  // glDrawArrays among them

}  // namespace bench
