# The standard headers nearly every file of the project reads, compiled once
# per library instead of once per file: parsing them was most of a fresh
# build's time. Platform headers stay out, as files set their own macros
# before <windows.h>.
function(tarvex_precompile_std_headers)
  foreach(target ${ARGN})
    if(TARGET ${target})
      target_precompile_headers(${target} PRIVATE <algorithm> <atomic> <cstdint> <functional> <map> <memory>
                                <stdexcept> <string> <string_view> <vector>)
    endif()
  endforeach()
endfunction()
