-- The cabin: a sign switch of our own that other plug-ins may set, a
-- command that flips it, a chime held down as long as its button, and the
-- wing anti-ice command listened to before and after the simulator acts.

sign_switch = create_dataref("quiltest/cabin/sign_switch", "number", function() end)
sign_flips = create_dataref("quiltest/cabin/sign_flips", "number")
chime_frames = create_dataref("quiltest/cabin/chime_frames", "number")
chime_seconds = create_dataref("quiltest/cabin/chime_seconds", "number")
heat_before = create_dataref("quiltest/cabin/wing_heat_before", "number")
heat_after = create_dataref("quiltest/cabin/wing_heat_after", "number")

wing_heat = find_dataref("sim/cockpit/switches/anti_ice_surf_heat")

function flip_sign(phase, duration)
    if phase == 0 then
        sign_switch = 1 - sign_switch
        sign_flips = sign_flips + 1
    end
end

-- Held: one continue phase a frame, and how long it was held at the end.
function chime(phase, duration)
    if phase == 1 then
        chime_frames = chime_frames + 1
    elseif phase == 2 then
        chime_seconds = duration
    end
end

function wing_heat_before(phase, duration)
    if phase == 0 then heat_before = wing_heat end
end

function wing_heat_after(phase, duration)
    if phase == 0 then heat_after = wing_heat end
end

create_command("quiltest/cabin/flip_sign", "Flips the cabin sign switch", flip_sign)
create_command("quiltest/cabin/chime", "Sounds the cabin chime while held", chime)
wrap_command("sim/ice/wing_heat_on", wing_heat_before, wing_heat_after)
