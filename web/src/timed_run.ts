// A timed run of ten problems, timed from the first problem's display to the tenth answer. The
// verdicts come from the core's marks: a missed wait and a wrong pick are the two kinds of cross.
import type { Core } from "./core.js";
import { MarkCross } from "./core.js";

export interface RunResult {
    time: string;
    problems: number;
    fullyRight: number;
    waitsMissed: number;
    wrongPicks: number;
}

const kProblems = 10;

// "m:ss.t", tenths cut off rather than rounded, so the shown time never runs ahead.
export function runTimeText(ms: number): string {
    const tenths = Math.floor(Math.max(0, ms) / 100);
    return `${Math.floor(tenths / 600)}:${String(Math.floor(tenths / 10) % 60).padStart(2, "0")}.${tenths % 10}`;
}

export class TimedRunDriver {
    private state: "idle" | "starting" | "running" = "idle";
    private current = 0;
    private currentAnswered = false;
    private startedAt = 0;
    private stoppedAt = 0;
    private tally = { problems: 0, fullyRight: 0, waitsMissed: 0, wrongPicks: 0 };
    private timer = 0;
    private finish: () => void = () => undefined;

    constructor(private readonly core: Core, private readonly tick: () => void) {}

    get active(): boolean {
        return this.state !== "idle";
    }

    start(finish: () => void): void {
        this.finish = finish;
        this.state = "starting";
        this.current = 0;
        this.currentAnswered = false;
        this.tally = { problems: 0, fullyRight: 0, waitsMissed: 0, wrongPicks: 0 };
    }

    abandon(): void {
        this.state = "idle";
        window.clearInterval(this.timer);
        this.tick();
    }

    shown(): void {
        if (this.state === "idle") {
            return;
        }
        if (this.state === "starting") {
            this.state = "running";
            this.startedAt = performance.now();
            this.timer = window.setInterval(this.tick, 50);
        }
        // A problem replaced before its answer is not one of the ten.
        if (this.current === 0 || this.currentAnswered) {
            ++this.current;
        }
        this.currentAnswered = false;
    }

    answered(): void {
        if (this.state !== "running" || this.currentAnswered) {
            return;
        }
        this.currentAnswered = true;
        let missed = 0;
        let wrong = 0;
        for (let n = 1; n <= 9; ++n) {
            if (this.core.mark(n) === MarkCross) {
                if (this.core.isWait(n)) {
                    ++missed;
                } else {
                    ++wrong;
                }
            }
        }
        this.tally.problems += 1;
        this.tally.waitsMissed += missed;
        this.tally.wrongPicks += wrong;
        this.tally.fullyRight += missed === 0 && wrong === 0 ? 1 : 0;
        if (this.current === kProblems) {
            this.stoppedAt = performance.now();
            this.state = "idle";
            window.clearInterval(this.timer);
            this.tick();
            this.finish();
        }
    }

    result(): RunResult {
        return { time: runTimeText(this.stoppedAt - this.startedAt), ...this.tally };
    }

    // "3 / 10  0:42.1" while the run lasts, else empty.
    statusText(): string {
        if (this.state === "idle") {
            return "";
        }
        const elapsed = this.state === "running" ? performance.now() - this.startedAt : 0;
        return `${Math.max(1, this.current)} / ${kProblems}  ${runTimeText(elapsed)}`;
    }
}
