# Common warnings for our own targets.
function(orb_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
    target_compile_definitions(${target} PRIVATE QT_NO_FOREACH
                                                 QT_DISABLE_DEPRECATED_BEFORE=0x050F00)
endfunction()
