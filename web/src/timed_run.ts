// A timed run on the page: the core keeps the run, its clock reading and its tally; this only
// ticks the status line and hands in the time.
import type { Core, RunResult } from "./core.js";

export class TimedRunDriver {
    private timer = 0;
    private finish: () => void = () => undefined;

    constructor(private readonly core: Core, private readonly tick: () => void) {}

    get active(): boolean {
        return this.core.runRunning;
    }

    start(finish: () => void): void {
        this.finish = finish;
        this.core.runStart();
        window.clearInterval(this.timer);
        // Ten times a second at least, as the window's status line.
        this.timer = window.setInterval(this.tick, 50);
    }

    abandon(): void {
        this.core.runAbandon();
        this.stop();
    }

    shown(): void {
        this.core.runShown(performance.now());
    }

    answered(): void {
        if (this.core.runAnswered(performance.now())) {
            this.stop();
            this.finish();
        }
    }

    result(): RunResult {
        return this.core.runResult();
    }

    statusText(): string {
        return this.core.runStatus(performance.now());
    }

    private stop(): void {
        window.clearInterval(this.timer);
        this.tick();
    }
}
