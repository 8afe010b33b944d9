-- The panel lights fade in over four seconds once the flight starts: a
-- timer counts the seconds and every frame drives the simulator's
-- instrument brightness from the count.

brightness = find_dataref("sim/cockpit/electrical/instrument_brightness")
fade_seconds = create_dataref("quiltest/panel/fade_seconds", "number")

FADE_SECONDS = 4

function count_second()
    fade_seconds = fade_seconds + 1
end

function flight_start()
    run_at_interval(count_second, 1)
end

function before_physics()
    brightness = math.min(fade_seconds / FADE_SECONDS, 1)
end
