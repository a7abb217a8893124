# Warnings for the project's own targets only; third-party headers are
# included as system headers and so stay quiet.
function(calvetta_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                             -Wnon-virtual-dtor -Wold-style-cast
                                             -Wcast-align -Wunused -Woverloaded-virtual
                                             -Wformat=2)
    if(CALVETTA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
