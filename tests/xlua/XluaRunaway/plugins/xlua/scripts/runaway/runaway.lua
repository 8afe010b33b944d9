-- Commands whose handlers run away: one never returns, one recurses without
-- end. Each must end the run with a report naming XLua and the call.

function spin(phase, duration)
    while true do end
end

function deeper(depth)
    return 1 + deeper(depth + 1)  -- not a tail call: every level keeps its frame
end

function recurse(phase, duration)
    deeper(1)
end

create_command("quiltest/runaway/spin", "Never returns", spin)
create_command("quiltest/runaway/recurse", "Recurses without end", recurse)
