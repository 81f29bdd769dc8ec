#pragma once

namespace wakorin {

// Which bet types a venue sells, as the card says it under the race header (the window words it:
// ３連単複, ２連単複, ２連単, ２連複). Every venue of the venue table sells all four today.
enum class TicketSale { None, All, ExactaQuinella, Exacta, Quinella };

}  // namespace wakorin
