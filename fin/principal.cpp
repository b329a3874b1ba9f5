#include "fin/principal.h"

#include "fin/processamento.h"
#include "fin/variaveis.h"

namespace fin {

int principal() {
  // The one case of the run; its arrays live until the process ends.
  static CaseRecord caso;
  run_processing(caso);
  return 0;
}

}  // namespace fin
