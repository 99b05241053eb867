# The committed images must be what the generator draws now: a drawing changed without regenerating
# them (or an image edited by hand) fails here. They must also be what it draws on any other x86-64
# machine, so it draws them a second time with Qt's SSE4.1 and AVX code paths switched off, the paths
# whose rounding differs between processor makers.
foreach(features "" "sse4.1 avx avx2")
    file(REMOVE_RECURSE ${OUTPUT})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env "QT_NO_CPU_FEATURE=${features}" ${GENERATOR} ${OUTPUT}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lattiscribe-imagegen failed: ${result}")
    endif()
    file(GLOB_RECURSE generated RELATIVE ${OUTPUT} ${OUTPUT}/*)
    list(LENGTH generated count)
    if(count EQUAL 0)
        message(FATAL_ERROR "the generator wrote nothing")
    endif()
    foreach(image ${generated})
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${image} ${SOURCE}/${image} RESULT_VARIABLE differs)
        if(differs)
            message(FATAL_ERROR
                "${image} differs from what lattiscribe-imagegen draws (CPU features off: '${features}'); run it on resources/")
        endif()
    endforeach()
endforeach()
message(STATUS "${count} images match")
