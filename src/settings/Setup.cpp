// The Setup page: delays, speakers, subwoofer, crossovers, power, keys,
// dynamic range and test tones.

#include "app/PrivateDesign.h"

namespace calvetta {

void PrivateDesign::BuildSetupPage() {}

}  // namespace calvetta
