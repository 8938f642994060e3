ardour {
	["type"]    = "dsp",
	name        = "Joralt Probe Signal",
	category    = "Utility",
	license     = "MIT",
	author      = "Joralt",
	description = [[White noise (peak 0.25) that is a function of the transport position alone, silence while the transport stands: the same samples in every run, so an export can be compared with another host's render of the same input. Counts the samples it runs before position 0 rolls, so the test knows how much silence the processors after it ran through first.]]
}

-- Shared with the session script, as integers: [0] set to 1 asks for the
-- count to restart; [1] the samples run since then before position 0 rolled,
-- -1 until it has.
function dsp_init (rate)
	self:shmem ():allocate (2)
	self:shmem ():atomic_set_int (0, 0)
	self:shmem ():atomic_set_int (1, -1)
end

local before = 0
local started = false

function dsp_ioconfig ()
	return { { audio_in = -1, audio_out = -1 } }
end

-- Sample at position t of channel c: 24 bits of an integer hash, scaled
-- exactly into a 32-bit float. The test recomputes it the same way.
local function sample (t, c)
	local x = (t * 2 + c) * -7046029254386353131 -- 0x9E3779B97F4A7C15, wrapping
	x = x ~ (x >> 29)
	x = x * -4658895280553007687 -- 0xBF58476D1CE4E5B9, wrapping
	x = x ~ (x >> 32)
	return ((x >> 40) - 8388608) / 33554432.0
end

function dsp_run (ins, outs, n_samples)
	local shm = self:shmem ()
	if shm:atomic_get_int (0) == 1 then
		shm:atomic_set_int (0, 0)
		before = 0
	end
	local rolling = Session:transport_rolling ()
	local start = Session:transport_sample ()
	for c = 1, #outs do
		local a = outs[c]:array ()
		for s = 1, n_samples do
			local t = start + s - 1
			a[s] = (rolling and t >= 0) and sample (t, c - 1) or 0
		end
	end
	if not started then
		if rolling and start <= 0 and start + n_samples > 0 then
			started = true
			shm:atomic_set_int (1, before - start)
		else
			before = before + n_samples
		end
	end
end
