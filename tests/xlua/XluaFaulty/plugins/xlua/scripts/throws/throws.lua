-- A command whose handler throws, and a frame counter that shows the run
-- going on after it.

frames = create_dataref("quiltest/faulty/frames", "number")

function fail(phase, duration)
    error("the handler fails")
end

function after_physics()
    frames = frames + 1
end

create_command("quiltest/faulty/fail", "A command whose handler throws", fail)
